<%@ Language="VBScript" CodePage="65001" %><% Option Explicit %>
<!--#include file="ServUPath.asp"-->
<!--#include file="inc/site.asp"-->
<%
' One domain: added (no ?id=), changed or deleted. System administrator only.
Dim id, host, ip, port, domains, list, d, ok
RequireSystem
id = DomainParam("id")
Set domains = Lib("Domains")

' The domain as it is now, for the form and for the messages.
If Param("id") <> "" And id < 0 Then
  g_error = T_BAD_ID
ElseIf id >= 0 Then
  Set list = DomainList()
  If Not list Is Nothing Then
    g_error = Fill(T_NO_SUCH_DOMAIN, id, "")
    For Each d In list
      If d.ID = id Then host = d.HostName : ip = d.IP : port = d.port : g_error = ""
    Next
  End If
Else
  port = 21
End If

If g_error = "" And IsPost() Then
  If Posted("action") = "delete" Then
    If Not Checked("confirm") Then g_error = T_CONFIRM_NEEDED
    If g_error = "" Then
      On Error Resume Next
      ok = domains.DelDomain(id)
      If Succeeded(domains, ok) Then Done Fill(T_DOMAIN_DELETED, host, ""), "domains.asp"
      On Error GoTo 0
    End If
  Else
    ' A failed change shows what was typed.
    host = Posted("host")
    ip = Posted("ip")
    RequireField host, T_HOST
    port = NumberField("port", T_PORT, 1, MAX_INTEGER)
    If g_error = "" Then
      On Error Resume Next
      If id < 0 Then
        ok = domains.AddDomain(host, ip, port)
        If Succeeded(domains, ok) Then Done Fill(T_DOMAIN_ADDED, host, ""), "domains.asp"
      Else
        ok = domains.ModifyDomain(id, host, ip, port)
        If Succeeded(domains, ok) Then Done Fill(T_DOMAIN_CHANGED, host, ""), "domains.asp"
      End If
      On Error GoTo 0
    End If
    port = Posted("port")
  End If
End If

If id < 0 Then PageStart T_ADD_DOMAIN Else PageStart Fill(T_CHANGE_DOMAIN, id, "")
%>
<form class="card" method="post">
<% TokenField %>
<label><%= H(T_HOST) %> <input name="host" value="<%= H(host) %>" required></label>
<label><%= H(T_IP) %> <input name="ip" value="<%= H(ip) %>"></label>
<label><%= H(T_PORT) %> <input name="port" value="<%= H(port) %>" inputmode="numeric" required></label>
<button name="action" value="save"><%= H(T_SAVE) %></button>
<a href="domains.asp"><%= H(T_CANCEL) %></a>
</form>
<% If id >= 0 Then %>
<form class="card danger" method="post">
<% TokenField %>
<p><%= H(T_DELETE_DOMAIN_NOTE) %></p>
<label class="check"><input type="checkbox" name="confirm" value="1" required> <%= H(T_CONFIRM_DELETE) %></label>
<button name="action" value="delete"><%= H(T_DELETE_DOMAIN) %></button>
</form>
<% End If
PageEnd %>
